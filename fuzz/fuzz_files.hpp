// Scratch files for the fuzz targets: the readers under test take files, so each input is
// written to a file in a private folder on a memory file system when there is one.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// The private folder, made at the first call and removed with its content at exit.
const std::string& ScratchFolder();

// Replaces the file's content with the bytes; aborts when it cannot (a broken harness).
void WriteScratchFile(const std::string& path, const std::uint8_t* data, std::size_t size);
