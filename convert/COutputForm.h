#pragma once
// The forms ringwright-convert writes; a new form plugs in here and nowhere else.

#include <optional>
#include <string>
#include <vector>

class CNokia;

class COutputForm {
public:
    enum Form { Keys, Composer, Rtttl };

    explicit COutputForm(Form iForm = Keys) : m_iForm(iForm) {}

    // Every form, in the order the help lists them.
    static const std::vector<COutputForm>& All();
    static std::optional<COutputForm> ByName(const std::string& sName);

    Form Id() const { return m_iForm; }
    std::string Name() const; // as --to takes it
    std::string Extension() const;
    // A text form writes one line per ringtone.
    bool IsText() const;

    // The ringtone the converter holds, in this form, with the name and tempo
    // as a conversion shows them.
    std::string Render(const CNokia& nokia) const;

private:
    Form m_iForm;
};
