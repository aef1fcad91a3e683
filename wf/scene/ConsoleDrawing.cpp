#include "wf/scene/Console.h"

#include "engine/Engine.h"
#include "pr/Font.h"
#include "pr/FontRegistry.h"
#include "pr/ShadedRect.h"

namespace wf {

namespace {

// The band covers the output lines above the input line, which sits this far down.
const float InputLineY = 200.0f;
const float TextLeft = 10.0f;
const float TextScale = 0.5f;
const uint32_t OutputColour = 0xFF00CC00u; // opaque green
const uint32_t InputColour = 0xFFFFFFFFu;

} // namespace

float Console::bandWidth() const {
    if (screenWidth > 0.0f) {
        return screenWidth;
    }
    Engine* engine = AcquireEngine();
    if (!engine) {
        return 0.0f;
    }
    const float width = static_cast<float>(engine->System_GetNumber(ScreenWidth));
    engine->System_Release();
    return width;
}

// The console's own position is a plain offset: its transform is not applied.
void Console::drawSelf() {
    pr::FontRegistry* registry = pr::currentFontRegistry();
    pr::Font* font = registry ? registry->GetFont(FontName) : nullptr;
    if (!font || !isVisible()) {
        return;
    }
    const float height = font->Height();
    const ph::Vector<float> at = position();
    pr::DrawShadedRect(0.0f, 0.0f, bandWidth(), height + InputLineY);

    const float savedScale = font->GetScale();
    const uint32_t savedColour = font->GetColor();
    font->SetScale(TextScale);
    font->SetColor(OutputColour);
    float k = 1.0f;
    for (const std::string& line : outputLines) {
        font->Printf(at.x + TextLeft, at.y + InputLineY - height * TextScale * k, pr::AlignLeft,
                     "%s", line.c_str());
        k += 1.0f;
    }
    font->SetColor(InputColour);
    font->SetScale(TextScale);
    font->Printf(at.x + TextLeft, at.y + InputLineY, pr::AlignLeft, "> %s_", input.c_str());
    font->SetScale(savedScale);
    font->SetColor(savedColour);
}

} // namespace wf
