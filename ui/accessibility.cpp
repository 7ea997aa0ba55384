#include "accessibility.h"

#include <oleacc.h>

#include "about_dlg.h"
#include "accessible.h"
#include "calculator_table.h"
#include "data_exchange.h"
#include "form_exchange.h"
#include "identifiers.h"

namespace {

// Roles as Windows' standard objects give them; Wine's call buttons and
// lists "client". A list and the Instructions pane say what they show as
// their value, since their name is now the label.
void SetRoleByClass(HWND control, AccessibleOverride& what)
{
    char className[16] = "";
    ::GetClassNameA(control, className, sizeof className);
    if (lstrcmpiA(className, "Button") == 0) {
        what.role = ROLE_SYSTEM_PUSHBUTTON;
    } else if (lstrcmpiA(className, "ComboBox") == 0) {
        what.role = ROLE_SYSTEM_COMBOBOX;
        what.textIsValue = true;
    } else if (lstrcmpiA(className, "Static") == 0) {
        what.role = ROLE_SYSTEM_STATICTEXT;
        what.textIsValue = true;
    }
}

// The banner is a picture whose text would otherwise be read as the bytes
// of its resource number: it is named by what it bears, the product's name
// and description as the version block gives them (the build puts them in).
// Exit and Close keep their captions as names.
void ExposeBannerAndCloseButton(const CWnd& dialog)
{
    AccessibleOverride banner;
    banner.name = VELQUOR_BANNER_NAME;
    banner.role = ROLE_SYSTEM_GRAPHIC;
    ExposeAccessible(dialog.GetDlgItem(IDC_BANNER), banner);

    const HWND close = dialog.GetDlgItem(IDOK);
    AccessibleOverride button;
    SetRoleByClass(close, button);
    ExposeAccessible(close, button);
}

}  // namespace

void ExposeMainWindowControls(const CWnd& window, FullTextSource& numbers)
{
    ForEachNamedControl([&](const Calculator*, const NamedControl& named) {
        const HWND control = window.GetDlgItem(named.control);
        char name[kSpokenNameSize];
        SpokenName(named.control, name);
        AccessibleOverride what;
        what.name = name;
        SetRoleByClass(control, what);
        if (NumberField(named.control) != nullptr)
            what.fullText = &numbers;
        ExposeAccessible(control, what);
    });
    ExposeBannerAndCloseButton(window);
}

void ExposeAboutBoxControls(const CWnd& about)
{
    AccessibleOverride box;
    box.name = "About VelQUOR";
    box.windowToo = true;
    ExposeAccessible(about.m_hWnd, box);

    const HWND address = about.GetDlgItem(IDC_MAIL_ADDRESS);
    AccessibleOverride link;
    const CString name = ControlText(address);
    link.name = name;
    link.role = ROLE_SYSTEM_LINK;
    link.value = kMailLink;
    link.defaultAction = "Open";
    ExposeAccessible(address, link);
    ExposeAccessible(about.GetDlgItem(IDC_PORTRAIT), link);
    ExposeBannerAndCloseButton(about);
}
