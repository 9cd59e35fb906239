// The image table and the only drawing operations the game uses: every
// picture reaches Allegro's `screen` through one of these thin wrappers.
#pragma once

#include "display/window.h"

#include <allegro.h>

#include <string>
#include <vector>

// One row of the image table: which slot, which file, which loader.
struct ArquivoImagem {
    short slot;
    std::string caminho;
    bool png;  // load_png when true, load_jpg otherwise
};

class Render {
public:
    static const int SLOTS = 100;

    Render();
    ~Render();

    // Window, blender and every image; false (after a message) on failure.
    bool iniciaTela(const WindowRequest& window = WindowRequest());
    // Only the images, in slot order, stopping at the first that fails.
    bool carregaImagens();
    // Frees every loaded image; must run while Allegro is still installed.
    void liberaImagens();

    // The 70 files in loading order, and the message naming a missing one.
    static const std::vector<ArquivoImagem>& tabela();
    static std::string mensagemFalta(const ArquivoImagem& arquivo);

    BITMAP* imagem(short slot) const;

    void prendeTela();
    void soltaTela();
    void limpaTela();
    void limpaPersonagem(short imagem, short x, short y, short xT, short yT);
    void desenhaImagem(short imagem, short x, short y);
    void desenhaImagemTrans(short imagem, short x, short y);
    void desenhaNumero(short algo, short x, short y);
    void desenhaParede(short x, short y, short x2, short y2);
    void escondeMouse();
    void mostraMouse();

private:
    BITMAP* imagens[SLOTS];
};
