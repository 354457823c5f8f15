// The PNG images of a skin, decoded by the system's codecs (WIC) into
// premultiplied 32-bit bitmaps ready for AlphaBlend.
#pragma once
#include <windows.h>

#include <map>
#include <string>

namespace tolven::skin {

struct SkinImage {
  HBITMAP bitmap = nullptr;
  int width = 0, height = 0;
};

class ImageCache {
 public:
  ImageCache() = default;
  ~ImageCache();
  ImageCache(const ImageCache &) = delete;
  ImageCache &operator=(const ImageCache &) = delete;

  // Decodes `folder\name` unless already held; false when it cannot be read.
  bool Load(const std::wstring &folder, const std::string &name);
  const SkinImage *Find(const std::string &name) const;
  void Clear();
  void Swap(ImageCache &other) { images_.swap(other.images_); }

 private:
  std::map<std::string, SkinImage> images_;
};

}  // namespace tolven::skin
