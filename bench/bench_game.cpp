// A frame of play on the memory screen, per level, with all four enemies on
// the field: as the game draws it (restoring only what moved), and as a
// back-buffered game would (everything into a buffer, the buffer onto the
// screen). The second exists only here, for the comparison.
#include "bench/environment.h"

namespace {

using bench::Amostras;

// Times one frame per iteration, the steering keys scripted and the clock
// topped up so the game never ends.
template <class Quadro>
void mede(benchmark::State& state, Quadro quadro) {
    Jogo& jogo = bench::jogoCarregado();
    bench::preparaPartida(jogo, static_cast<short>(state.range(0)));
    Amostras amostras;
    long q = 0;
    for (auto _ : state) {
        bench::teclasDoQuadro(q++);
        bench::mantemJogo(JogoTestAccess::mapa(jogo));
        const auto t0 = Amostras::Relogio::now();
        quadro(jogo);
        amostras.junta(Amostras::Relogio::now() - t0);
    }
    bench::soltaTeclas();
    amostras.publica(state);
}

void quadroDeJogo(benchmark::State& state) {
    mede(state, [](Jogo& jogo) { JogoTestAccess::frame(jogo); });
}

// Background, overlay, every sprite and panel field into the buffer, then the
// whole buffer onto the screen. The game's own erase of the moved rectangles
// still runs inside desenhaTela, a few small copies too many for this variant.
void quadroComBuffer(Jogo& jogo, BITMAP* buffer) {
    jogo.capturaComandos();
    jogo.atualizaLogica();
    BITMAP* tela = screen;
    screen = buffer;
    JogoTestAccess::render(jogo).limpaPersonagem(JogoTestAccess::level(jogo) + 19, 0, 0, 640, 480);
    JogoTestAccess::render(jogo).desenhaImagemTrans(25, 0, 0);
    jogo.desenhaTela();
    screen = tela;
    blit(buffer, screen, 0, 0, 0, 0, 640, 480);
}

void quadroDeJogoComBuffer(benchmark::State& state) {
    BITMAP* buffer = create_bitmap(640, 480);
    mede(state, [buffer](Jogo& jogo) { quadroComBuffer(jogo, buffer); });
    destroy_bitmap(buffer);
}

}  // namespace

BENCHMARK(quadroDeJogo)->ArgName("nivel")->DenseRange(1, 3)->MinTime(2.0)->Unit(benchmark::kMicrosecond);
BENCHMARK(quadroDeJogoComBuffer)->ArgName("nivel")->DenseRange(1, 3)->MinTime(2.0)->Unit(benchmark::kMicrosecond);
