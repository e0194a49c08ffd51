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
    return Render(iType, std::string::npos).value_or(std::string());
}

std::optional<std::string> CNotes::GetNotesWithin(int16_t iType, size_t iMaxLength) const {
    return Render(iType, iMaxLength);
}

std::optional<std::string> CNotes::Render(int16_t iType, size_t iMaxLength) const {
    try {
        const char* sSeparator = Separator(iType);
        if (!sSeparator)
            return std::string();
        // Blanks at the end are left out, so they are held back as a count
        // until something else follows them: a run of blank notes costs
        // nothing, and the text is never longer than what is shown.
        std::string sResult;
        std::string sRendering;
        size_t iBlanks = 0;
        const auto Append = [&](std::string_view sPiece) {
            const std::string_view sKept = modNOK::TrimTrailingBlanks(sPiece);
            if (sKept.empty()) {
                iBlanks += sPiece.size();
                return;
            }
            sResult.append(iBlanks, ' ');
            sResult += sKept;
            iBlanks = sPiece.size() - sKept.size();
        };
        bool bFirst = true;
        for (const auto& note : m_Notes) {
            if (!bFirst)
                Append(sSeparator);
            bFirst = false;
            sRendering.clear();
            AppendRendering(sRendering, *note, iType);
            Append(sRendering);
            if (sResult.size() > iMaxLength)
                return std::nullopt;
        }
        return sResult;
    } catch (const std::exception& e) {
        modNOK::AddError("CNotes.GetNotes", e.what());
    } catch (...) {
        modNOK::AddError("CNotes.GetNotes", "Unknown failure");
    }
    return std::string();
}
