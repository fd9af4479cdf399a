#pragma once

#include "text/string_grid.h"

#include <memory>

// Every character measures the same number of pixels, so widths in tests are exact.
class FixedMeasure : public kf::TextMeasure {
public:
    explicit FixedMeasure(int perChar) : perChar_(perChar) {}
    int width(const QString &text) const override { return perChar_ * int(text.size()); }

private:
    int perChar_;
};

inline std::shared_ptr<kf::TextMeasure> fixedMeasure(int perChar) {
    return std::make_shared<FixedMeasure>(perChar);
}
