#include "wf/scene/SpriteElement.h"

#include "engine/Engine.h"

#include <algorithm>
#include <cmath>

namespace wf {

namespace {

const uint32_t AlphaShift = 24;
const uint32_t RgbMask = 0x00FFFFFFu;

// The colour with its alpha byte scaled by `opacity` (truncated).
uint32_t fadeColour(uint32_t argb, float opacity) {
    const float alpha = opacity * static_cast<float>(argb >> AlphaShift);
    // Factors above 1 are not used; keep the byte in range all the same.
    const uint32_t scaled = static_cast<uint32_t>(std::min(alpha, 255.0f));
    return (scaled << AlphaShift) | (argb & RgbMask);
}

} // namespace

bool Bounds::contains(ph::Vector<float> p) const {
    const float right = x + width;
    const float bottom = y + height;
    return x <= p.x && p.x <= right && y <= p.y && p.y <= bottom;
}

void SpriteElement::setAnimation(pr::Animation* value) {
    anim = value;
    if (value) {
        setPivot({value->HotSpotX(), value->HotSpotY()});
    }
}

void SpriteElement::setColour(uint32_t argb) {
    flagBits |= UsesOwnColour;
    ownColour = argb;
}

void SpriteElement::pivotChanged(ph::Vector<float> oldPivot) {
    if (anim) {
        anim->SetHotSpot(pivot().x, pivot().y);
    }
    Element::pivotChanged(oldPivot);
}

bool SpriteElement::update(float dt) {
    if (isVisible() && anim) {
        anim->Update(dt);
    }
    return CompositeObject::update(dt);
}

bool SpriteElement::updateTransform(int32_t pass) {
    const bool changed = Element::updateTransform(pass);
    if (!anim) {
        return changed;
    }
    if (changed) {
        refreshCorners();
    }
    local.width = std::trunc(anim->Width());
    local.height = std::trunc(anim->Height());
    return changed;
}

void SpriteElement::refreshCorners() {
    // The frame rectangle as the sprite's quad stores it: zero unless the
    // sprite drew itself somewhere (never for a sprite shown by an element).
    const float w = anim->Width();
    const float h = anim->Height();
    const EngineQuad& quad = anim->Quad();
    const ph::Vector<float> frame[4] = {
        {quad.v[0].x, quad.v[0].y}, {w, quad.v[1].y}, {w, h}, {quad.v[3].x, h}};
    for (int i = 0; i < 4; ++i) {
        cornerPoints[i] = worldTransform().apply(frame[i]);
    }
    float left = cornerPoints[0].x, right = left, top = cornerPoints[0].y, bottom = top;
    for (const ph::Vector<float>& c : cornerPoints) {
        left = std::min(left, c.x);
        right = std::max(right, c.x);
        top = std::min(top, c.y);
        bottom = std::max(bottom, c.y);
    }
    world = Bounds{left, top, right - left, bottom - top};
}

bool SpriteElement::makeQuad(EngineQuad* quad) const {
    if (!anim) {
        return false;
    }
    const float opacity = worldOpacity();
    if (!(opacity >= MinimumOpacity)) { // NaN draws nothing too
        return false;
    }
    *quad = anim->Quad();
    const uint32_t base = (flagBits & UsesOwnColour) ? ownColour : quad->v[0].colour;
    const uint32_t colour = fadeColour(base, opacity);
    for (int i = 0; i < 4; ++i) {
        quad->v[i].x = cornerPoints[i].x;
        quad->v[i].y = cornerPoints[i].y;
        quad->v[i].colour = colour;
    }
    return true;
}

void SpriteElement::drawSelf() {
    EngineQuad quad;
    if (!makeQuad(&quad)) {
        return;
    }
    Engine* engine = AcquireEngine();
    if (engine) {
        engine->Gfx_DrawQuadLayered(&quad);
        engine->System_Release();
    }
}

bool SpriteElement::hitTest(ph::Vector<float> point) {
    if (!world.contains(point)) {
        return false;
    }
    const ph::Vector<float> q = worldTransform().inverse().apply(point);
    if (!local.contains(q)) {
        return false;
    }
    if (flagBits & HitByShape) {
        return true;
    }
    if (anim && anim->HasTexture()) {
        return anim->IsOpaqueAt(q.x, q.y);
    }
    return true;
}

} // namespace wf
