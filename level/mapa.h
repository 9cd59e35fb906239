// Placeholder level: the real simulation replaces this file whole.
#pragma once

class Mapa {
public:
    bool inicia(short nr);
    void capturaComando() {}
    void movimentaObjetos() {}
    void colisao() {}
    void timeLine() {}
    void contaTempo() {}
    bool contaTempoRestante() { return false; }
    int getMin() { return 0; }
    int getSeg() { return 0; }
};
