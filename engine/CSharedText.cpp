#include "engine/CSharedText.h"

CSharedText::CSharedText(std::string sText) {
    if (sText.size() <= ShortLength)
        m_sShort = std::move(sText);
    else
        m_pLong = std::make_shared<const std::string>(std::move(sText));
}
