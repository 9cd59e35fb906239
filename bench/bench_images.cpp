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

void carregaImagens(benchmark::State& state) {
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

std::vector<unsigned char> decodificaPng(const std::string& caminho) {
    png_image imagem{};
    imagem.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&imagem, caminho.c_str())) throw std::runtime_error(caminho);
    imagem.format = PNG_FORMAT_RGBA;
    std::vector<unsigned char> pixels(PNG_IMAGE_SIZE(imagem));
    if (!png_image_finish_read(&imagem, nullptr, pixels.data(), 0, nullptr)) throw std::runtime_error(caminho);
    return pixels;
}

std::vector<unsigned char> decodificaJpeg(const std::string& caminho) {
    FILE* f = std::fopen(caminho.c_str(), "rb");
    if (!f) throw std::runtime_error(caminho);
    jpeg_decompress_struct info;
    jpeg_error_mgr erro;
    info.err = jpeg_std_error(&erro);
    jpeg_create_decompress(&info);
    jpeg_stdio_src(&info, f);
    jpeg_read_header(&info, TRUE);
    jpeg_start_decompress(&info);
    const size_t linha = size_t(info.output_width) * info.output_components;
    std::vector<unsigned char> pixels(linha * info.output_height);
    while (info.output_scanline < info.output_height) {
        JSAMPROW destino = pixels.data() + info.output_scanline * linha;
        jpeg_read_scanlines(&info, &destino, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    std::fclose(f);
    return pixels;
}

void decodificaDireto(benchmark::State& state) {
    for (auto _ : state) {
        for (const ArquivoImagem& a : Render::tabela()) {
            std::vector<unsigned char> pixels = a.png ? decodificaPng(a.caminho) : decodificaJpeg(a.caminho);
            benchmark::DoNotOptimize(pixels.data());
        }
    }
}

}  // namespace

BENCHMARK(carregaImagens)->MinTime(2.0)->Unit(benchmark::kMillisecond);
BENCHMARK(decodificaDireto)->MinTime(2.0)->Unit(benchmark::kMillisecond);
