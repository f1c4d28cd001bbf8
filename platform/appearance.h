#pragma once

namespace platform {

// The look the twips layouts were made for: an 8-point sans serif of the classic metrics,
// which Liberation Sans matches at 11 pixels.
void applyProgramFont();

} // namespace platform
