#include "button_faces_win.h"

#include <wincodec.h>

#include <cstring>
#include <initializer_list>

#include "button_caption_win.h"
#include "com_on_demand_win.h"
#include "button_faces.h"
#include "resource_ids.h"

namespace kestrane {

namespace {

// A COM pointer released at the end of its scope.
template <class Interface>
class ComPtr {
 public:
  ComPtr() = default;
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;
  ~ComPtr() {
    if (pointer_) pointer_->Release();
  }
  Interface* operator->() const { return pointer_; }
  Interface* get() const { return pointer_; }
  Interface** put() { return &pointer_; }

 private:
  Interface* pointer_ = nullptr;
};

// A 32-bit top-down bitmap of width x height; bits receives its pixels.
HBITMAP emptyBitmap(UINT width, UINT height, void*& bits) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = static_cast<LONG>(width);
  info.bmiHeader.biHeight = -static_cast<LONG>(height);
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  bits = nullptr;
  return CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
}

// A 32-bit top-down bitmap holding what source yields at width x height.
HBITMAP toBitmap(IWICBitmapSource* source, UINT width, UINT height) {
  void* bits = nullptr;
  HBITMAP bitmap = emptyBitmap(width, height, bits);
  if (!bitmap) return nullptr;
  const UINT stride = width * 4;
  if (FAILED(source->CopyPixels(nullptr, stride, stride * height, static_cast<BYTE*>(bits)))) {
    DeleteObject(bitmap);
    return nullptr;
  }
  return bitmap;
}

// The picture resource decoded to a 32-bit bitmap, or nullptr when it
// cannot be read.
HBITMAP decodePicture(HINSTANCE instance, int id, SIZE& size) {
  HRSRC resource = FindResourceW(instance, MAKEINTRESOURCEW(id), RT_RCDATA);
  HGLOBAL loaded = resource ? LoadResource(instance, resource) : nullptr;
  const auto* bytes = loaded ? static_cast<const std::uint8_t*>(LockResource(loaded)) : nullptr;
  if (!bytes) return nullptr;
  const PicturePixels pixels = decodePng(bytes, SizeofResource(instance, resource));
  if (pixels.empty()) return nullptr;

  void* bits = nullptr;
  HBITMAP bitmap = emptyBitmap(static_cast<UINT>(pixels.width()), static_cast<UINT>(pixels.height()), bits);
  if (!bitmap) return nullptr;
  std::memcpy(bits, pixels.bgrx(), pixels.byteCount());
  size = {pixels.width(), pixels.height()};
  return bitmap;
}

}  // namespace

ButtonFaces::ButtonFaces(HINSTANCE instance) : instance_(instance) {
  running_.resourceId = IDR_RUNNING_PICTURE;
  paused_.resourceId = IDR_PAUSED_PICTURE;
}

ButtonFaces::~ButtonFaces() {
  for (Picture* picture : {&running_, &paused_}) {
    if (picture->original) DeleteObject(picture->original);
    if (picture->scaled) DeleteObject(picture->scaled);
  }
  if (imaging_) imaging_->Release();
}


HBITMAP ButtonFaces::originalOf(Picture& picture) {
  if (!picture.read) {
    picture.read = true;
    picture.original = decodePicture(instance_, picture.resourceId, picture.size);
  }
  return picture.original;
}

HBITMAP ButtonFaces::scaledFor(Picture& picture, UINT dpi) {
  HBITMAP original = originalOf(picture);
  if (dpi == 96 || !original) return original;
  if (picture.scaled && picture.scaledDpi == dpi) return picture.scaled;
  if (picture.scaled) DeleteObject(picture.scaled);
  picture.scaled = nullptr;

  if (!imaging_) {
    com::createInstance(CLSID_WICImagingFactory, IID_IWICImagingFactory, reinterpret_cast<void**>(&imaging_));
  }
  ComPtr<IWICBitmap> bitmap;
  ComPtr<IWICBitmapScaler> scaler;
  const UINT width = static_cast<UINT>(MulDiv(picture.size.cx, static_cast<int>(dpi), 96));
  const UINT height = static_cast<UINT>(MulDiv(picture.size.cy, static_cast<int>(dpi), 96));
  if (imaging_ && SUCCEEDED(imaging_->CreateBitmapFromHBITMAP(original, nullptr, WICBitmapIgnoreAlpha,
                                                              bitmap.put())) &&
      SUCCEEDED(imaging_->CreateBitmapScaler(scaler.put())) &&
      SUCCEEDED(scaler->Initialize(bitmap.get(), width, height, WICBitmapInterpolationModeFant))) {
    picture.scaled = toBitmap(scaler.get(), width, height);
    picture.scaledDpi = dpi;
  }
  return picture.scaled ? picture.scaled : original;
}

void ButtonFaces::draw(HDC dc, const RECT& face, Colour ground, bool running, UINT dpi) {
  HBRUSH fill = CreateSolidBrush(ground);
  FillRect(dc, &face, fill);
  DeleteObject(fill);

  Picture& picture = running ? running_ : paused_;
  HBITMAP bitmap = scaledFor(picture, dpi);
  if (!bitmap) {
    drawWords(dc, face, running, dpi);
    return;
  }
  BITMAP info{};
  GetObjectW(bitmap, sizeof(info), &info);
  const int x = face.left + (face.right - face.left - info.bmWidth) / 2;
  const int y = face.top + (face.bottom - face.top - info.bmHeight) / 2;

  HDC memory = CreateCompatibleDC(dc);
  HGDIOBJ previous = SelectObject(memory, bitmap);
  const int saved = SaveDC(dc);
  IntersectClipRect(dc, face.left, face.top, face.right, face.bottom);
  BitBlt(dc, x, y, info.bmWidth, info.bmHeight, memory, 0, 0, SRCCOPY);
  RestoreDC(dc, saved);
  SelectObject(memory, previous);
  DeleteDC(memory);
}

// The caption in large red words, in the plain sans-serif face the
// elements fall back on.
void ButtonFaces::drawWords(HDC dc, const RECT& face, bool running, UINT dpi) {
  LOGFONTW look{};
  look.lfCharSet = ANSI_CHARSET;
  look.lfOutPrecision = OUT_DEFAULT_PRECIS;
  look.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  look.lfQuality = DEFAULT_QUALITY;
  look.lfPitchAndFamily = DEFAULT_PITCH | FF_SWISS;
  lstrcpynW(look.lfFaceName, L"Microsoft Sans Serif", LF_FACESIZE);
  drawCaption(dc, face, running ? L"PAUSE COUNTDOWN" : L"COUNTDOWN PAUSED", look, 20, dpi, RGB(255, 0, 0));
}

}  // namespace kestrane
