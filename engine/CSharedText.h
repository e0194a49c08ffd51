#pragma once
// A text that is copied without copying its characters once it is long: the
// copies share one stored text. A header default that every note of a
// ringtone takes is so kept once per conversion, however long it is. Reads
// like a std::string.

#include <cstddef>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>

class CSharedText {
public:
    CSharedText() = default;
    explicit CSharedText(std::string sText);
    CSharedText& operator=(std::string sText) { return *this = CSharedText(std::move(sText)); }
    CSharedText& operator=(const char* sText) { return *this = CSharedText(std::string(sText)); }

    const std::string& str() const { return m_pLong ? *m_pLong : m_sShort; }
    operator const std::string&() const { return str(); }
    operator std::string_view() const { return str(); }
    bool empty() const { return str().empty(); }
    std::size_t size() const { return str().size(); }
    void clear() { *this = CSharedText(); }
    // The one stored copy of a long text; none for a short one.
    const std::shared_ptr<const std::string>& Shared() const { return m_pLong; }

    // Copies of one long text are equal without a character compared.
    friend bool operator==(const CSharedText& a, const CSharedText& b) {
        return (a.m_pLong && a.m_pLong == b.m_pLong) || a.str() == b.str();
    }
    friend bool operator==(const CSharedText& a, const std::string& b) { return a.str() == b; }
    friend bool operator==(const CSharedText& a, const char* b) { return a.str() == b; }
    friend bool operator==(const std::string& a, const CSharedText& b) { return b == a; }
    friend bool operator==(const char* a, const CSharedText& b) { return b == a; }
    friend bool operator!=(const CSharedText& a, const CSharedText& b) { return !(a == b); }
    friend bool operator!=(const CSharedText& a, const std::string& b) { return !(a == b); }
    friend bool operator!=(const CSharedText& a, const char* b) { return !(a == b); }
    friend bool operator!=(const std::string& a, const CSharedText& b) { return !(b == a); }
    friend bool operator!=(const char* a, const CSharedText& b) { return !(b == a); }

    friend std::string operator+(const CSharedText& a, const std::string& b) { return a.str() + b; }
    friend std::string operator+(const CSharedText& a, const char* b) { return a.str() + b; }
    friend std::string operator+(const std::string& a, const CSharedText& b) { return a + b.str(); }
    friend std::string operator+(const char* a, const CSharedText& b) { return a + b.str(); }

    friend std::ostream& operator<<(std::ostream& os, const CSharedText& s) {
        return os << s.str();
    }

private:
    // Texts that std::string keeps without allocating are copied as usual.
    static constexpr std::size_t ShortLength = 15;

    std::string m_sShort;
    std::shared_ptr<const std::string> m_pLong;
};
