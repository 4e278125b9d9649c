#pragma once

#include <cstddef>
#include <span>
#include <string_view>

// The files the asset painter made, compiled into the library (embedded_assets.cpp is generated).
namespace assets::embedded {

struct File {
  std::string_view name;
  const unsigned char* data;
  std::size_t size;
};

std::span<const File> files();

}  // namespace assets::embedded
