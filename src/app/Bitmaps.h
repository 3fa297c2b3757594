#pragma once

#include <array>

namespace vantorel {

struct BitmapInfo {
    int id;
    int width;  // pixels
    int height;
};

// Every bitmap resource of the program with its exact pixel size.
inline constexpr std::array<BitmapInfo, 56> kBitmaps{{
    {101, 240, 26},  {102, 240, 1},  {103, 240, 4},  {104, 233, 2},   {105, 2, 3},
    {106, 29, 24},   {107, 29, 24},  {108, 29, 24},  {109, 29, 24},   {110, 29, 24},
    {111, 29, 24},   {118, 15, 13},  {119, 9, 8},    {120, 79, 82},   {121, 77, 30},
    {122, 77, 30},   {123, 10, 10},  {124, 10, 10},  {125, 77, 30},   {126, 77, 30},
    {127, 38, 38},   {128, 38, 38},  {129, 38, 38},  {130, 38, 38},   {131, 38, 38},
    {132, 38, 38},   {133, 20, 20},  {134, 20, 20},  {135, 20, 20},   {136, 20, 20},
    {137, 77, 30},   {138, 77, 30},  {139, 9, 8},    {140, 9, 8},     {141, 240, 26},
    {142, 37, 37},   {143, 37, 37},  {144, 37, 37},  {145, 37, 37},   {146, 230, 26},
    {147, 1, 26},    {148, 4, 26},   {149, 4, 1},    {150, 1, 1},     {151, 4, 1},
    {152, 4, 4},     {153, 1, 4},    {154, 4, 4},    {1000, 10, 10},  {1001, 10, 10},
    {1002, 10, 10},  {1003, 10, 10}, {1004, 10, 10}, {1011, 240, 26}, {1012, 230, 26},
    {1013, 230, 26},
}};

// nullptr for a number that is not a bitmap of the program.
constexpr const BitmapInfo* findBitmap(int id) {
    for (const auto& b : kBitmaps)
        if (b.id == id) return &b;
    return nullptr;
}

inline constexpr int kTwipsPerPixel = 15;

}  // namespace vantorel
