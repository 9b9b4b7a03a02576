// Builds the contents of generated contacts.
#pragma once

#include "contactcard.h"

#include <cstdint>

namespace Gen {

// Card `index` of the file made with `seed`; it depends on these two numbers only.
Card generateCard(uint64_t seed, uint64_t index);

} // namespace Gen
