#include "notification_table.h"

void OnKillFocusField(CalculatorForm&, FormExchange& window)
{
    window.UpdateData(true);
}

void OnAbout(CalculatorForm&, FormExchange& window)
{
    window.RunAboutBox();
}

const NotificationRow* FindNotification(int control, unsigned code)
{
    for (const NotificationRow& row : kNotificationTable)
        if (row.control == control && row.code == code)
            return &row;
    return nullptr;
}

bool DispatchNotification(CalculatorForm& form, FormExchange& window,
                          int control, unsigned code)
{
    const NotificationRow* row = FindNotification(control, code);
    if (row == nullptr)
        return false;
    row->handler(form, window);
    return true;
}
