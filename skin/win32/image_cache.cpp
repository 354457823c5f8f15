#include "image_cache.h"

#include <wincodec.h>

#include "text_encoding.h"

namespace tolven::skin {

namespace {
template <typename T>
void Drop(T *&p) {
  if (p) p->Release();
  p = nullptr;
}
}  // namespace

ImageCache::~ImageCache() { Clear(); }

void ImageCache::Clear() {
  for (auto &[name, image] : images_) DeleteObject(image.bitmap);
  images_.clear();
}

const SkinImage *ImageCache::Find(const std::string &name) const {
  auto it = images_.find(name);
  return it == images_.end() ? nullptr : &it->second;
}

bool ImageCache::Load(const std::wstring &folder, const std::string &name) {
  if (images_.count(name)) return true;
  std::wstring path = folder + L"\\" + Wide(name);
  IWICImagingFactory *factory = nullptr;
  IWICBitmapDecoder *decoder = nullptr;
  IWICBitmapFrameDecode *frame = nullptr;
  IWICFormatConverter *converter = nullptr;
  HBITMAP bitmap = nullptr;
  UINT width = 0, height = 0;
  HRESULT hr = CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                reinterpret_cast<void **>(&factory));
  if (SUCCEEDED(hr))
    hr = factory->CreateDecoderFromFilename(path.c_str(), nullptr, GENERIC_READ, WICDecodeMetadataCacheOnDemand,
                                            &decoder);
  if (SUCCEEDED(hr)) hr = decoder->GetFrame(0, &frame);
  if (SUCCEEDED(hr)) hr = factory->CreateFormatConverter(&converter);
  if (SUCCEEDED(hr))
    hr = converter->Initialize(frame, GUID_WICPixelFormat32bppPBGRA, WICBitmapDitherTypeNone, nullptr, 0.0,
                               WICBitmapPaletteTypeCustom);
  if (SUCCEEDED(hr)) hr = converter->GetSize(&width, &height);
  if (SUCCEEDED(hr) && (width == 0 || height == 0 || width > 8192 || height > 8192)) hr = E_FAIL;
  if (SUCCEEDED(hr)) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = static_cast<LONG>(width);
    info.bmiHeader.biHeight = -static_cast<LONG>(height);  // top-down, as WIC gives rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void *bits = nullptr;
    bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    hr = bitmap ? converter->CopyPixels(nullptr, width * 4, width * height * 4, static_cast<BYTE *>(bits)) : E_OUTOFMEMORY;
  }
  Drop(converter);
  Drop(frame);
  Drop(decoder);
  Drop(factory);
  if (FAILED(hr)) {
    if (bitmap) DeleteObject(bitmap);
    return false;
  }
  images_[name] = SkinImage{bitmap, static_cast<int>(width), static_cast<int>(height)};
  return true;
}

}  // namespace tolven::skin
