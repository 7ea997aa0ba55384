#include "calculators.h"

#include <cmath>
#include <iterator>

bool IsEmpty(double value)
{
    return std::isunordered(value, 0.0) || value == 0.0;
}

// The steps keep their intermediate values in the form's scratch fields and
// round after every operation. The scale constant cancels out of the result
// but takes part in the rounding, so it stays.
void OnCalculateRatio(CalculatorForm& f, FormExchange& window)
{
    window.UpdateData(true);

    const bool findDistance = IsEmpty(f.m_proposedDistance);
    const bool findPower = IsEmpty(f.m_proposedPower);
    if (findDistance == findPower)  // both given, or neither
        return;

    f.m_workPower = f.m_currentPower;
    f.m_workDistance = f.m_currentDistance;
    f.m_scale = 10.0;
    f.m_workDistance = f.m_workDistance * f.m_workDistance;
    f.m_workQuotient = f.m_workPower / f.m_workDistance;
    f.m_ratio = f.m_scale / f.m_workQuotient;

    if (findDistance) {
        f.m_workPower = f.m_proposedPower;
        f.m_scale = 10.0;
        f.m_workQuotient = f.m_scale / f.m_ratio;
        f.m_workDistance = f.m_workPower / f.m_workQuotient;
        f.m_workDistance = std::sqrt(f.m_workDistance);
        f.m_proposedDistance = f.m_workDistance;
    } else {
        f.m_workDistance = f.m_proposedDistance;
        f.m_scale = 10.0;
        f.m_workDistance = f.m_workDistance * f.m_workDistance;
        f.m_workQuotient = f.m_scale / f.m_ratio;
        f.m_workPower = f.m_workQuotient * f.m_workDistance;
        f.m_proposedPower = f.m_workPower;
    }
    window.UpdateData(false);
}

void OnCalculateWavelength(CalculatorForm& f, FormExchange& window)
{
    window.UpdateData(true);
    if (IsEmpty(f.m_frequency))
        return;
    f.m_wavelength = 984.0 / f.m_frequency;  // free space, feet x MHz
    window.UpdateData(false);
}

namespace {

// Feet x MHz for each entry of the wave-factor list, in list order:
// 5/8, 1/2, 1/4 and 1/8 wave.
constexpr double kWaveFactorConstants[] = {585.0, 468.0, 234.0, 117.0};

}  // namespace

void OnCalculateAntenna(CalculatorForm& f, FormExchange& window)
{
    window.UpdateData(true);
    if (IsEmpty(f.m_antennaFrequency))
        return;
    const auto index = f.m_waveFactor;
    if (index < 0 || index >= static_cast<int>(std::size(kWaveFactorConstants)))
        return;  // nothing chosen
    f.m_antennaLength = kWaveFactorConstants[index] / f.m_antennaFrequency;
    window.UpdateData(false);
}
