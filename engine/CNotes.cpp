#include "engine/CNotes.h"

#include "engine/modNOK.h"

#include <stdexcept>

std::shared_ptr<CNote> CNotes::Add(const std::string& strNoteBatch, int32_t sSourceType) {
    try {
        auto note = std::make_shared<CNote>();
        // In the list before it is parsed, and told its notation before it
        // sees its token.
        m_Notes.push_back(note);
        note->SourceType = sSourceType;
        note->setNoteBatch(strNoteBatch);
        return note;
    } catch (const std::exception& e) {
        modNOK::AddError("CNotes.Add", e.what());
    } catch (...) {
        modNOK::AddError("CNotes.Add", "Unknown failure");
    }
    return nullptr;
}

int32_t CNotes::Count() const {
    return static_cast<int32_t>(m_Notes.size());
}

void CNotes::Delete(int32_t Index) {
    if (Index < 1 || Index > Count())
        throw std::out_of_range("Subscript out of range");
    m_Notes.erase(m_Notes.begin() + (Index - 1));
}

CNote& CNotes::Item(int32_t Index) const {
    if (Index < 1 || Index > Count())
        throw std::out_of_range("Subscript out of range");
    return *m_Notes[static_cast<size_t>(Index - 1)];
}

const char* CNotes::Separator(int16_t iType) {
    switch (iType) {
    case 0:
        return ", ";
    case 1:
        return " ";
    case 2:
        return ",";
    default:
        return nullptr;
    }
}

void CNotes::AppendRendering(std::string& sText, const CNote& note, int16_t iType) {
    switch (iType) {
    case 0:
        sText += note.Keypresses;
        break;
    case 1:
        sText += note.Full_ComposerNote();
        break;
    case 2:
        sText += note.Full_RTTTLNote();
        break;
    default:
        break;
    }
}

std::string CNotes::GetNotes(int16_t iType) const {
    try {
        const char* sSeparator = Separator(iType);
        if (!sSeparator)
            return {};
        std::string sResult;
        bool bFirst = true;
        for (const auto& note : m_Notes) {
            if (!bFirst)
                sResult += sSeparator;
            bFirst = false;
            AppendRendering(sResult, *note, iType);
        }
        sResult.erase(modNOK::TrimTrailingBlanks(sResult).size());
        return sResult;
    } catch (const std::exception& e) {
        modNOK::AddError("CNotes.GetNotes", e.what());
    } catch (...) {
        modNOK::AddError("CNotes.GetNotes", "Unknown failure");
    }
    return {};
}
