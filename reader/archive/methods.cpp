// SPDX-License-Identifier: GPL-3.0-or-later
#include "methods.h"

#include "lh5_decoder.h"
#include "lzhuf_decoder.h"
#include "rle.h"

namespace archive {

std::unique_ptr<Decoder> makeDecoder(int method)
{
    switch (method) {
    case RunLength:
        return std::make_unique<RleDecoder>();
    case Lzhuf:
        return std::make_unique<LzhufDecoder>();
    case Lh5:
        return std::make_unique<Lh5Decoder>();
    default:
        return nullptr;
    }
}

} // namespace archive
