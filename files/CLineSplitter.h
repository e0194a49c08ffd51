#pragma once
// Splits bytes that arrive in pieces into lines: a line feed, CR LF and a
// lone carriage return each end one.

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

class CLineSplitter {
public:
    // sLine holds at most the first iKeep bytes of the line; iLength counts
    // all of them.
    using Handler = std::function<void(const std::string& sLine, size_t iLength)>;

    CLineSplitter(size_t iKeep, Handler onLine) : m_iKeep(iKeep), m_OnLine(std::move(onLine)) {}

    void Feed(std::string_view bytes);
    // A last line without a line end still counts.
    void Finish();

private:
    void Emit();

    size_t m_iKeep;
    Handler m_OnLine;
    std::string m_sLine;
    size_t m_iLength = 0;
    bool m_bOpen = false;
    bool m_bAfterReturn = false; // a CR ended the last piece: an LF may follow
};
