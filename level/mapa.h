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
    int getMin() { return min; }
    int getSeg() { return seg; }
    void setMin(int m) { min = m; }
    void setSeg(int s) { seg = s; }

private:
    short min = 0, seg = 1;
};
