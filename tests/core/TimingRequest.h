// What the timing tests ask for: the image form's entries and the system frequency, defaults as
// the forms start.
#pragma once

#include "Parameters.h"

struct Request {
    double systemFreq = 44.0;
    double frameRate = 30.0;
    int columns = 640;
    int rows = 480;
    int skipping = 0;
    int lowPower = 0;
    int mode = 0;
    int hBlank = 500;
    int vBlank = 500;

    // An image context with the form's defaults and these entries.
    CImageContext Context() const {
        CImageContext ctx;
        ApplyImageFormDefaults(ctx);
        ctx.m_dFrameRate = frameRate;
        ctx.m_nOutputColumns = columns;
        ctx.m_nOutputRows = rows;
        ctx.m_bAllowSkipping = skipping;
        ctx.m_bLowPower = lowPower;
        ctx.m_nBlankingMode = mode;
        ctx.m_nHBlank = hBlank;
        ctx.m_nVBlank = vBlank;
        return ctx;
    }
};

// The default request with one change.
inline Request With(void (*change)(Request&)) {
    Request q;
    change(q);
    return q;
}
