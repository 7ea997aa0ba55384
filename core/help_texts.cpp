#include "help_texts.h"

// Each help text is its title, two line feeds and the paragraph; the pane
// wraps the paragraph itself, so no other line breaks appear here.

const char kOpeningPrompt[] =
    "Click on the appropriate 'Instructions' button above for information "
    "on the use of that section.";

const char kRatioHelpText[] =
    "Inverse Square Ratio Calculator\n\n"
    "With a given radio systems' current transmitter power and usable "
    "range, you can use the Inverse Square Ratio Calculator to predict "
    "the range of a proposed transmit power increase or decrease, or to "
    "predict how much power you will need to achieve a proposed range. To "
    "use it, enter your current transmit power in watts, your current "
    "usable range in miles, and either a proposed power or a proposed "
    "range. The missing variable will be calculated for you. Keep in mind "
    "that this only gives you a rough estimate based on environmental "
    "conditions similar to that which the current system is operating in, "
    "and that many other factors will come into play in the calculation "
    "of range, such as frequencies used, line of sight, etc.";

const char kWavelengthHelpText[] =
    "Wavelength Calculator\n\n"
    "You can use the Wavelength Calculator to calculate the free-space "
    "wavelength of a frequency. To use it, enter the desired frequency in "
    "Megahertz (MHZ). The wavelength will be returned to you in feet "
    "(FT). Keep in mind that the wavelength of a given frequency is "
    "different in free-space than it is as it travels along an antenna. "
    "For this reason, use the Antenna Length Calculator to more "
    "accurately predict correct multiples of antenna length.";

const char kAntennaHelpText[] =
    "Antenna Length Calculator\n\n"
    "You can use the Antenna Length Calculator to estimate the length "
    "that an antenna should be for a given frequency. To use it, enter "
    "the desired frequency in Megahertz (MHZ), and select the appropriate "
    "wave factor. The antenna length will be returned to you in feet "
    "(FT). Keep in mind that while this information makes a good starting "
    "point, it will not return a precise antenna length. In particular, "
    "the higher the frequency, the greater the margin of error in the "
    "calculation. This is because as the frequency increases, the element "
    "DIAMETER of the antenna plays an increasingly important role, among "
    "other reasons. For higher frequencies, the given length will be "
    "increasingly TOO LONG. Remember, there is no substitute for an SWR "
    "meter!";
