#pragma once
// What becomes of each converted ringtone: the form written, a JSON line or a
// check line.

#include "convert/CConversionResult.h"

class CReport {
public:
    virtual ~CReport() = default;
    virtual void Add(const CConversionResult& result) = 0;
    // After the last ringtone.
    virtual void Finish() {}
    // Whether the output holds anything worth keeping.
    virtual bool HasOutput() const { return true; }
};
