// Start-up's picture loading: the shipped files through the game's loaders
// (loadpng, and libjpeg-turbo in render/jpeg_loader.cpp, into Allegro
// bitmaps), beside decoding the very same files with libpng and libjpeg into
// plain buffers. The difference is what the loaders add on top of the decoding.
#include "bench/environment.h"

#include <jpeglib.h>
#include <png.h>

#include <cstdio>
#include <stdexcept>
#include <vector>

namespace {

void loadImages(benchmark::State& state) {
    for (auto _ : state) {
        Render render;
        if (!render.carregaImagens()) {
            state.SkipWithError("the shipped pictures did not load");
            return;
        }
        state.PauseTiming();
        render.liberaImagens();
        state.ResumeTiming();
    }
}

std::vector<unsigned char> decodePng(const std::string& path) {
    png_image picture{};
    picture.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&picture, path.c_str())) throw std::runtime_error(path);
    picture.format = PNG_FORMAT_RGBA;
    std::vector<unsigned char> pixels(PNG_IMAGE_SIZE(picture));
    if (!png_image_finish_read(&picture, nullptr, pixels.data(), 0, nullptr)) throw std::runtime_error(path);
    return pixels;
}

std::vector<unsigned char> decodeJpeg(const std::string& path) {
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) throw std::runtime_error(path);
    jpeg_decompress_struct info;
    jpeg_error_mgr error;
    info.err = jpeg_std_error(&error);
    jpeg_create_decompress(&info);
    jpeg_stdio_src(&info, f);
    jpeg_read_header(&info, TRUE);
    jpeg_start_decompress(&info);
    const size_t line = size_t(info.output_width) * info.output_components;
    std::vector<unsigned char> pixels(line * info.output_height);
    while (info.output_scanline < info.output_height) {
        JSAMPROW destination = pixels.data() + info.output_scanline * line;
        jpeg_read_scanlines(&info, &destination, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    std::fclose(f);
    return pixels;
}

void decodeDirect(benchmark::State& state) {
    for (auto _ : state) {
        for (const ArquivoImagem& a : Render::tabela()) {
            std::vector<unsigned char> pixels = a.png ? decodePng(a.caminho) : decodeJpeg(a.caminho);
            benchmark::DoNotOptimize(pixels.data());
        }
    }
}

}  // namespace

BENCHMARK(loadImages)->MinTime(2.0)->Unit(benchmark::kMillisecond);
BENCHMARK(decodeDirect)->MinTime(2.0)->Unit(benchmark::kMillisecond);
