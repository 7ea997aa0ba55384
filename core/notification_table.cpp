#include "notification_table.h"

#include "help_texts.h"

void OnSetFocusProposedDistance(CalculatorForm& form, FormExchange& window)
{
    form.m_proposedPower = 0.0;
    window.UpdateData(false);
}

void OnSetFocusProposedPower(CalculatorForm& form, FormExchange& window)
{
    form.m_proposedDistance = 0.0;
    window.UpdateData(false);
}

void OnSetFocusFrequency(CalculatorForm& form, FormExchange& window)
{
    form.m_wavelength = 0.0;
    window.UpdateData(false);
}

void OnSetFocusAntennaFrequency(CalculatorForm& form, FormExchange& window)
{
    form.m_antennaLength = 0.0;
    window.UpdateData(false);
}

void OnKillFocusField(CalculatorForm&, FormExchange& window)
{
    window.UpdateData(true);
}

void OnInstructionsRatio(CalculatorForm& form, FormExchange& window)
{
    form.m_instructions = kRatioHelpText;
    window.UpdateData(false);
}

void OnInstructionsWavelength(CalculatorForm& form, FormExchange& window)
{
    form.m_instructions = kWavelengthHelpText;
    window.UpdateData(false);
}

void OnInstructionsAntenna(CalculatorForm& form, FormExchange& window)
{
    form.m_instructions = kAntennaHelpText;
    window.UpdateData(false);
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
