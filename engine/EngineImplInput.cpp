// Input: the event queue the window procedure fills, the per-frame key table,
// the mouse state and the input operations of Engine.
#include "engine/EngineImpl.h"

#include "engine/KeyNames.h"

namespace {

int clampCoordinate(int value, int limit) {
    if (value > limit - 1) {
        value = limit - 1;
    }
    return value < 0 ? 0 : value;
}

} // namespace

void EngineImpl::addInputEvent(int type, int key, int scanCode, int flags, int x, int y) {
    EngineEventEntry* entry = new EngineEventEntry();
    EngineEvent& event = entry->event;
    event.chr = 0;
    BYTE keyboard[256];
    GetKeyboardState(keyboard);

    const int slot = key & 0xFF;
    switch (type) {
    case EngineEventKeyDown:
    case EngineEventKeyUp: {
        if (type == EngineEventKeyUp) {
            keyTable[slot] |= 2;
        } else if (!(flags & EngineFlagRepeat)) {
            keyTable[slot] |= 1;
        }
        WORD translated = 0;
        if (ToAscii(static_cast<UINT>(key), static_cast<UINT>(scanCode), keyboard, &translated,
                    0) == 1) {
            event.chr = translated & 0xFF;
        }
        event.key = key;
        event.wheel = 0;
        break;
    }
    case EngineEventButtonDown:
        keyTable[slot] |= 1;
        SetCapture(window);
        captured = true;
        event.key = key;
        event.wheel = 0;
        break;
    case EngineEventButtonUp:
        keyTable[slot] |= 2;
        ReleaseCapture();
        if (hideCursor) {
            Input_SetMousePosition(mouseX, mouseY);
        }
        x = static_cast<int>(mouseX);
        y = static_cast<int>(mouseY);
        captured = false;
        event.key = key;
        event.wheel = 0;
        break;
    case EngineEventWheel: {
        event.key = 0;
        event.wheel = key;
        POINT point = {x, y};
        ScreenToClient(window, &point);
        x = point.x;
        y = point.y;
        break;
    }
    default:
        event.key = key;
        event.wheel = 0;
        break;
    }

    if (keyboard[VK_SHIFT] & 0x80) {
        flags |= EngineFlagShift;
    }
    if (keyboard[VK_CONTROL] & 0x80) {
        flags |= EngineFlagCtrl;
    }
    if (keyboard[VK_MENU] & 0x80) {
        flags |= EngineFlagAlt;
    }
    if (keyboard[VK_CAPITAL] & 0x1) {
        flags |= EngineFlagCapsLock;
    }
    if (keyboard[VK_SCROLL] & 0x1) {
        flags |= EngineFlagScrollLock;
    }
    if (keyboard[VK_NUMLOCK] & 0x1) {
        flags |= EngineFlagNumLock;
    }
    event.type = type;
    event.flags = flags;

    if (x == -1) {
        event.x = mouseX;
        event.y = mouseY;
    } else {
        event.x = static_cast<float>(clampCoordinate(x, screenWidth));
        event.y = static_cast<float>(clampCoordinate(y, screenHeight));
    }

    entry->next = nullptr;
    EngineEventEntry** tail = &eventQueue;
    while (*tail != nullptr) {
        tail = &(*tail)->next;
    }
    *tail = entry;

    if (type == EngineEventKeyDown || type == EngineEventButtonDown) {
        lastKey = event.key;
        lastChar = event.chr;
    } else if (type == EngineEventMouseMove) {
        mouseX = event.x;
        mouseY = event.y;
    } else if (type == EngineEventWheel) {
        wheel += event.wheel;
    }
}

void EngineImpl::clearInput() {
    while (eventQueue != nullptr) {
        EngineEventEntry* next = eventQueue->next;
        delete eventQueue;
        eventQueue = next;
    }
    ZeroMemory(keyTable, sizeof(keyTable));
    lastKey = 0;
    lastChar = 0;
    wheel = 0;
}

void EngineImpl::resetInput() {
    POINT point;
    GetCursorPos(&point);
    ScreenToClient(window, &point);
    mouseX = static_cast<float>(point.x);
    mouseY = static_cast<float>(point.y);
    ZeroMemory(keyTable, sizeof(keyTable));
}

void EngineImpl::updateMouseInside() {
    if (captured) {
        mouseInside = true;
        return;
    }
    POINT point;
    GetCursorPos(&point);
    RECT client;
    GetClientRect(window, &client);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
    mouseInside = PtInRect(&client, point) && WindowFromPoint(point) == window;
}

void EngineImpl::Input_GetMousePosition(float* x, float* y) {
    *x = mouseX;
    *y = mouseY;
}

void EngineImpl::Input_SetMousePosition(float x, float y) {
    POINT point = {static_cast<LONG>(x), static_cast<LONG>(y)};
    ClientToScreen(window, &point);
    SetCursorPos(point.x, point.y);
}

int EngineImpl::Input_GetWheel() {
    return wheel;
}

bool EngineImpl::Input_IsMouseInside() {
    return mouseInside;
}

bool EngineImpl::Input_WasPressed(int key) {
    return (keyTable[key & 0xFF] & 1) != 0;
}

bool EngineImpl::Input_WasReleased(int key) {
    return (keyTable[key & 0xFF] & 2) != 0;
}

bool EngineImpl::Input_IsKeyHeld(int key) {
    return (GetKeyState(key) & 0x8000) != 0;
}

const char* EngineImpl::Input_KeyName(int key) {
    return engineKeyName(key);
}

int EngineImpl::Input_LastKey() {
    return lastKey;
}

int EngineImpl::Input_LastChar() {
    return lastChar;
}

bool EngineImpl::Input_PopEvent(EngineEvent* event) {
    if (eventQueue == nullptr) {
        return false;
    }
    EngineEventEntry* oldest = eventQueue;
    *event = oldest->event;
    eventQueue = oldest->next;
    delete oldest;
    return true;
}

void EngineImpl::Input_SetCursor(EngineCursor newCursor) {
    cursor = reinterpret_cast<HCURSOR>(newCursor);
}
