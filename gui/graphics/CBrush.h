// The brush of a drawing context: a solid colour selected into one device
// context for plain fills and read by the anti-aliased path. Restores the
// context's previous brush when released.
#pragma once

#include "gui/basics/CAlphaColour.h"
#include "gui/graphics/CDeviceContext.h"

namespace Orvalite::GUI::Graphics
{
class CBrush
{
public:
    CBrush() = default;
    CBrush(const CBrush &) = delete;
    CBrush &operator=(const CBrush &) = delete;
    // Gives the context back its previous brush.
    virtual ~CBrush();

    void initialise(CDeviceContext *deviceContext, const Orvalite::GUI::Basics::CAlphaColour &colour);
    void setColour(const Orvalite::GUI::Basics::CAlphaColour &colour);
    // Selects a solid brush of the current colour.
    void rebuild();
    // Selects a null brush, so plain shapes outlined next are not filled.
    void selectNullBrush();
    // Selects the previous brush back and forgets the context.
    void release();

    const Orvalite::GUI::Basics::CAlphaColour &getColour() const { return m_colour; }

private:
    void select(const CDeviceContext::SBrush &brush);

    CDeviceContext *m_deviceContext = nullptr;
    CDeviceContext::SBrush m_previousBrush;
    bool m_hasPreviousBrush = false;
    Orvalite::GUI::Basics::CAlphaColour m_colour;
};
} // namespace Orvalite::GUI::Graphics
