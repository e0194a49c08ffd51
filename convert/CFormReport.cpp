#include "convert/CFormReport.h"

void CFormReport::Add(const CConversionResult& result) {
    // A refused ringtone keeps its line empty, so that the results stay in
    // step with the input lines.
    if (result.iRefusal == RingToneText::Refusal::None)
        m_Output.Write(result.sOutput);
    if (m_Form.IsText())
        m_Output.Write(m_sLineEnd);
    m_bAny = true;
}
