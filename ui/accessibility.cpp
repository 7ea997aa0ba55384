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
void ExposeBannerAndCloseButton(HWND dialog)
{
    AccessibleOverride banner;
    banner.name = VELQUOR_BANNER_NAME;
    banner.role = ROLE_SYSTEM_GRAPHIC;
    ExposeAccessible(::GetDlgItem(dialog, IDC_BANNER), banner);

    const HWND close = ::GetDlgItem(dialog, IDOK);
    AccessibleOverride button;
    SetRoleByClass(close, button);
    ExposeAccessible(close, button);
}

}  // namespace

void ExposeMainWindowControls(HWND window, FullTextSource& numbers)
{
    ForEachNamedControl([&](const Calculator*, const NamedControl& named) {
        const HWND control = ::GetDlgItem(window, named.control);
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

void ExposeAboutBoxControls(HWND about)
{
    AccessibleOverride box;
    box.name = "About VelQUOR";
    box.windowToo = true;
    ExposeAccessible(about, box);

    const CString address = ControlText(::GetDlgItem(about, IDC_MAIL_ADDRESS));
    AccessibleOverride link;
    link.name = address;
    link.role = ROLE_SYSTEM_LINK;
    link.value = kMailLink;
    link.defaultAction = "Open";
    ExposeAccessible(::GetDlgItem(about, IDC_MAIL_ADDRESS), link);
    ExposeAccessible(::GetDlgItem(about, IDC_PORTRAIT), link);
    ExposeBannerAndCloseButton(about);
}
