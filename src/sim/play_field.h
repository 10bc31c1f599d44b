#pragma once
// The play-field and the window are the same 640 x 480 pixels.
constexpr int kScreenWidth = 640;
constexpr int kScreenHeight = 480;
