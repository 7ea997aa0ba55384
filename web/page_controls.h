#pragma once

#include "form_controller.h"

// The page's controls, for the form controller. The page shows a bad field's
// message beside it, with no box of its own, so a report owed while the page
// comes back is shown at once.
class PageControls final : public FormControls {
public:
    void ReadText(int control, FormText& out) override;
    bool IsModified(int control) override;
    int ReadSelection(int control) override;
    bool Fits(int control, const char* text) override;
    void WriteNumber(int control, const char* shown, const char* exact) override;
    void WriteSelection(int control, int index) override;
    void WriteText(int control, const FormText& text) override;
    bool IsFocused(int control) override;
    bool HoldsFocus() override;
    bool IsActive() override;
    void FocusAndSelect(int control) override;
    void ReportBadField(int control, const char* message) override;
    void PostReport() override { m_controller->ReportOwed(); }
    void Announce(int field, const char* text) override;
    void RunAboutBox() override;

    FormController* m_controller = nullptr;
};
