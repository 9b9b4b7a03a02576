// A small portrait-like JPEG drawn from random colours, for the PHOTO property.
#pragma once

#include "random.h"

#include <QByteArray>

namespace Gen {

QByteArray makeJpegPhoto(SplitMix64 &rng);

} // namespace Gen
