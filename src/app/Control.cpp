#include "app/Control.h"

#include "app/Bitmaps.h"

namespace vantorel {

void Control::setPicture(int bitmap) {
    picture_ = bitmap;
    if (!autoSize) return;
    if (const BitmapInfo* b = findBitmap(bitmap)) {
        width = b->width * kTwipsPerPixel;
        height = b->height * kTwipsPerPixel;
    }
}

void Control::setText(const QString& text) {
    if (text == text_) return;
    text_ = text;
    if (onTextChanged) onTextChanged(*this);
}

void Control::setValue(int value) {
    if (value == value_) return;
    value_ = value;
    if (onValueChanged) onValueChanged(*this);
}

}  // namespace vantorel
