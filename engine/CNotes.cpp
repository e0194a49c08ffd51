#include "engine/CNotes.h"

#include "engine/Forms.h"
#include "engine/modNOK.h"

#include <stdexcept>

std::shared_ptr<CNote> CNotes::Add(const std::string& strNoteBatch, int32_t sSourceType) {
    try {
        m_Store.Append(strNoteBatch, sSourceType);
        return m_Store.Kept(m_Store.Count() - 1);
    } catch (const std::exception& e) {
        modNOK::AddError("CNotes.Add", e.what());
    } catch (...) {
        modNOK::AddError("CNotes.Add", "Unknown failure");
    }
    return nullptr;
}

int32_t CNotes::Count() const {
    return static_cast<int32_t>(m_Store.Count());
}

size_t CNotes::Position(int32_t Index) const {
    if (Index < 1 || Index > Count())
        throw std::out_of_range("Subscript out of range");
    return static_cast<size_t>(Index - 1);
}

void CNotes::Delete(int32_t Index) {
    m_Store.Erase(Position(Index));
}

CNote& CNotes::Item(int32_t Index) const {
    return *m_Store.Kept(Position(Index));
}

std::string_view CNotes::ParseErrorLines(int32_t Index) const {
    return m_Store.ErrorLines(Position(Index));
}

const char* CNotes::Separator(int16_t iType) {
    switch (iType) {
    case ShowForm::Keypresses:
        return ", ";
    case ShowForm::Composer:
        return " ";
    case ShowForm::Rtttl:
        return ",";
    default:
        return nullptr;
    }
}

void CNotes::AppendRendering(std::string& sText, const CNote& note, int16_t iType) {
    CNoteStore::AppendRendering(sText, note, iType);
}

std::string CNotes::GetNotes(int16_t iType) const {
    return Render(iType, std::string::npos, nullptr).value_or(std::string());
}

std::optional<std::string> CNotes::GetNotesWithin(int16_t iType, size_t iMaxLength) const {
    return Render(iType, iMaxLength, nullptr);
}

std::optional<std::string> CNotes::GetNotesWithin(int16_t iType, size_t iMaxLength,
                                                  std::vector<Place>& places) const {
    places.clear();
    return Render(iType, iMaxLength, &places);
}

std::optional<std::string> CNotes::Render(int16_t iType, size_t iMaxLength,
                                          std::vector<Place>* pPlaces) const {
    try {
        const char* sSeparator = Separator(iType);
        if (!sSeparator)
            return std::string();
        return m_Store.Render(iType, sSeparator, iMaxLength, pPlaces);
    } catch (const std::exception& e) {
        modNOK::AddError("CNotes.GetNotes", e.what());
    } catch (...) {
        modNOK::AddError("CNotes.GetNotes", "Unknown failure");
    }
    if (pPlaces)
        pPlaces->clear();
    return std::string();
}
