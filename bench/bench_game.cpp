// A frame of play on the memory screen, per level, with all four enemies on
// the field: as the game draws it (restoring only what moved), and as a
// back-buffered game would (everything into a buffer, the buffer onto the
// screen). The second exists only here, for the comparison.
#include "bench/environment.h"

namespace {

using bench::Samples;

// Times one frame per iteration, the steering keys scripted and the clock
// topped up so the game never ends.
template <class Frame>
void measure(benchmark::State& state, Frame frame) {
    Jogo& jogo = bench::loadedGame();
    bench::startMatch(jogo, static_cast<short>(state.range(0)));
    Samples samples;
    long q = 0;
    for (auto _ : state) {
        bench::keysForFrame(q++);
        bench::keepGameGoing(JogoTestAccess::mapa(jogo));
        const auto t0 = Samples::Clock::now();
        frame(jogo);
        samples.add(Samples::Clock::now() - t0);
    }
    bench::releaseKeys();
    samples.publish(state);
}

void playFrame(benchmark::State& state) {
    measure(state, [](Jogo& jogo) { JogoTestAccess::frame(jogo); });
}

// Background, overlay, every sprite and panel field into the buffer, then the
// whole buffer onto the screen. The game's own erase of the moved rectangles
// still runs inside desenhaTela, a few small copies too many for this variant.
void bufferedFrame(Jogo& jogo, BITMAP* buffer) {
    jogo.capturaComandos();
    jogo.atualizaLogica();
    BITMAP* savedScreen = screen;
    screen = buffer;
    JogoTestAccess::render(jogo).limpaPersonagem(JogoTestAccess::level(jogo) + 19, 0, 0, 640, 480);
    JogoTestAccess::render(jogo).desenhaImagemTrans(25, 0, 0);
    jogo.desenhaTela();
    screen = savedScreen;
    blit(buffer, screen, 0, 0, 0, 0, 640, 480);
}

void playFrameBuffered(benchmark::State& state) {
    BITMAP* buffer = create_bitmap(640, 480);
    measure(state, [buffer](Jogo& jogo) { bufferedFrame(jogo, buffer); });
    destroy_bitmap(buffer);
}

}  // namespace

BENCHMARK(playFrame)->ArgName("level")->DenseRange(1, 3)->MinTime(2.0)->Unit(benchmark::kMicrosecond);
BENCHMARK(playFrameBuffered)->ArgName("level")->DenseRange(1, 3)->MinTime(2.0)->Unit(benchmark::kMicrosecond);
