#include "ui/SplashPicture.h"

#include <wincodec.h>

#include "ui/ControlIds.h"

namespace qv::ui {

namespace {

struct ResourceBytes {
    const BYTE* data = nullptr;
    DWORD size = 0;
};

ResourceBytes find_picture_resource() {
    const HMODULE module = GetModuleHandleW(nullptr);
    const HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(ids::kSplashPicture), RT_RCDATA);
    if (found == nullptr) return {};
    const HGLOBAL loaded = LoadResource(module, found);
    if (loaded == nullptr) return {};
    return {static_cast<const BYTE*>(LockResource(loaded)), SizeofResource(module, found)};
}

}  // namespace

UniqueBitmap load_splash_picture() {
    const ResourceBytes bytes = find_picture_resource();
    if (bytes.data == nullptr) return {};

    ComRef<IWICImagingFactory> factory;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                IID_IWICImagingFactory, factory.out_void()))) {
        return {};
    }
    ComRef<IWICStream> stream;
    if (FAILED(factory->CreateStream(stream.out())) ||
        FAILED(stream->InitializeFromMemory(const_cast<BYTE*>(bytes.data), bytes.size))) {
        return {};
    }
    ComRef<IWICBitmapDecoder> decoder;
    ComRef<IWICBitmapFrameDecode> frame;
    ComRef<IWICFormatConverter> converter;
    if (FAILED(factory->CreateDecoderFromStream(stream.get(), nullptr,
                                                WICDecodeMetadataCacheOnDemand, decoder.out())) ||
        FAILED(decoder->GetFrame(0, frame.out())) ||
        FAILED(factory->CreateFormatConverter(converter.out())) ||
        FAILED(converter->Initialize(frame.get(), GUID_WICPixelFormat32bppBGR,
                                     WICBitmapDitherTypeNone, nullptr, 0.0,
                                     WICBitmapPaletteTypeCustom))) {
        return {};
    }
    UINT width = 0;
    UINT height = 0;
    if (FAILED(converter->GetSize(&width, &height)) || width == 0 || height == 0) return {};

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = static_cast<LONG>(width);
    info.bmiHeader.biHeight = -static_cast<LONG>(height);  // top-down rows, as WIC gives them
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    UniqueBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || bits == nullptr) return {};
    const UINT stride = width * 4;
    if (FAILED(converter->CopyPixels(nullptr, stride, stride * height, static_cast<BYTE*>(bits)))) {
        return {};
    }
    return bitmap;
}

UniqueBitmap scale_to_width(UniqueBitmap picture, int width) {
    if (!picture || width <= 0) return picture;
    BITMAP info{};
    GetObjectW(picture.get(), sizeof info, &info);
    if (info.bmWidth == width || info.bmWidth <= 0) return picture;
    const int height = MulDiv(info.bmHeight, width, info.bmWidth);

    ScreenDc screen;
    UniqueBitmap scaled(CreateCompatibleBitmap(screen.get(), width, height));
    if (!scaled) return picture;
    MemoryDc source(screen.get());
    MemoryDc target(screen.get());
    SelectedObject from(source.get(), picture.get());
    SelectedObject to(target.get(), scaled.get());
    // Each pixel of the result from the pixels it covers, not the nearest one only.
    SetStretchBltMode(target.get(), HALFTONE);
    SetBrushOrgEx(target.get(), 0, 0, nullptr);
    StretchBlt(target.get(), 0, 0, width, height, source.get(), 0, 0, info.bmWidth, info.bmHeight,
               SRCCOPY);
    return scaled;
}

}  // namespace qv::ui
