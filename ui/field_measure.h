#pragma once

#include <windows.h>

// Whether a text fits an edit field's visible width, measured in the field's
// own font, so that the fit rule of the numbers holds in any font at any DPI.
// Holds a device context for as long as it lives: make one per question.
class FieldMeasure {
public:
    explicit FieldMeasure(HWND edit);
    ~FieldMeasure();
    FieldMeasure(const FieldMeasure&) = delete;
    FieldMeasure& operator=(const FieldMeasure&) = delete;

    bool Fits(const char* text) const;

private:
    HWND m_edit;
    HDC m_dc;
    HGDIOBJ m_oldFont = nullptr;
    int m_width = 0;
};
