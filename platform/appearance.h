#pragma once

namespace platform {

// The look the twips layouts were made for: an 8-point sans serif of the classic metrics,
// which Liberation Sans matches at 8.25 points (11 pixels at 96 dots per inch).
void applyProgramFont();

} // namespace platform
