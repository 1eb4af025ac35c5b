#pragma once
// Completing a picture entry: its rendered file and the hexadecimal text RTF embeds.
#include <cstddef>
#include <string>

class Picture;

// Stores the rendered file in the entry; unless keepOnly, also writes the picture
// as hexadecimal text beside it (same name, ".txt"). False when that text cannot
// be made.
bool SetPictureFile(Picture& picture, const std::string& path, bool keepOnly);

// Writes a file's bytes as upper-case hexadecimal digits, no separators; false
// when either file cannot be opened.
bool WriteHexText(const std::string& binaryPath, const std::string& hexPath);
