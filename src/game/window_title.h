#pragma once
// The window's title; the web page's title too.
constexpr const char* kWindowTitle = "Zandrove - By Tobrandel";
