// Everything on the playfield: a position, the position at the start of the
// frame, speed, heading, the heading aimed at, collision radius and turn step.
#pragma once

class Objeto {
public:
    float getX() const { return x; }
    float getY() const { return y; }
    float getXA() const { return xA; }
    float getYA() const { return yA; }
    short getVelocidade() const { return velocidade; }
    short getDirecao() const { return direcao; }
    short getRaio() const { return raio; }

    // Wrap around: past the right edge back to -30, above the panel band to 480.
    void setX(float nX);
    void setY(float nY);
    void setXA(float nX) { xA = nX; }
    void setYA(float nY) { yA = nY; }
    void setVelocidade(short nVelocidade) { velocidade = nVelocidade; }
    void setRaio(short nRaio) { raio = nRaio; }
    // One correction of 360 only; callers never change a heading by more than 180.
    void setDirecao(short nDirecao);

    void apontar(float xP, float yP);
    void mudaDirecaoSmooth();

protected:
    // The concrete constructors all take the same six numbers and write the
    // fields directly, without the wrap rules.
    void iniciaCampos(float nX, float nY, short nVelocidade, short nDirecao, short nRaio, short nSmooth);

    // Zero rather than indeterminate, so copying any object (a wall included) is safe.
    float x = 0, y = 0, xA = 0, yA = 0;
    short velocidade = 0, direcao = 0, aponta = 0, raio = 0, smooth = 0;

    friend class TestAccess;  // tests read the internals
};
