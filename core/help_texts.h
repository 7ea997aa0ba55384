#pragma once

// The texts of the Instructions pane. They live in the program, not in the
// resources, and are plain ASCII.
extern const char kOpeningPrompt[];
extern const char kRatioHelpText[];
extern const char kWavelengthHelpText[];
extern const char kAntennaHelpText[];
