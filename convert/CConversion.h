#pragma once
// Converts one ringtone after another with the engine, as Get does in the
// window, and collects what each gave.

#include "convert/CConversionResult.h"
#include "convert/COutputForm.h"
#include "convert/CRingToneInput.h"
#include "engine/CNokia.h"

class CConversion {
public:
    explicit CConversion(COutputForm form) : m_Form(form) {}

    // Engine failures become error-list lines; only running out of memory
    // outside the engine escapes.
    CConversionResult Run(const CRingToneInput& input);

private:
    CNokia m_Nokia;
    COutputForm m_Form;
};
