#include "level/mapa.h"

#include <allegro.h>

#include <cmath>
#include <cstdlib>
#include <ctime>

namespace {

// The game's pi has four decimals; the tables and every conversion use these.
const float PI = 3.1415f;
const float RAD = PI / 180;

const short LADO_CAIXA = 40;
const short LADO_COCO = 64;       // the Coco's picture is bigger than the others
const short ALTURA_LADRAO = 64;   // the Ladrao's bounce box is taller than wide
const int PASSES_ITEN = 1000;     // a level with no free room keeps the last place drawn

// Creates the object on the first set-up; later ones go through the setters
// and so keep the turn step it was created with.
template <class T>
void place(T*& object, const ObjectNumbers& n) {
    if (!object) {
        object = new T(n.x, n.y, n.velocidade, n.direcao, n.raio, n.smooth);
        return;
    }
    object->setX(n.x);
    object->setY(n.y);
    object->setVelocidade(n.velocidade);
    object->setDirecao(n.direcao);
    object->setRaio(n.raio);
}

}  // namespace

Mapa::Mapa() {
    for (int d = 0; d < 360; ++d) {
        double angulo = d * static_cast<double>(RAD);
        posicaoX[d] = static_cast<float>(std::cos(angulo));
        posicaoY[d] = static_cast<float>(std::sin(angulo));
    }
    srand(time(nullptr));
}

Mapa::~Mapa() {
    delete smile;
    delete iten;
    delete coco;
    delete esposa;
    delete gangster;
    delete ladrao;
}

bool Mapa::inicia(short nr, LevelProblem* problem) {
    // Everything is read before anything changes, so a level that does not
    // load leaves the last one as it was.
    LevelNumbers numbers;
    if (!loadLevel(nr, numbers, problem)) return false;
    setUp(numbers);
    return true;
}

void Mapa::setUp(const LevelNumbers& numbers) {
    mili = 0;
    seg = 1;
    min = 0;
    miliD = 0;
    segD = 20;
    minD = 0;
    tempo = 0;  // every game speeds up at its 500th, 1000th, ... update
    updateReport = UpdateReport();  // nothing of the last game's end carries over
    cocoArrived = false;

    place(smile, numbers.smile);
    place(iten, numbers.iten);
    place(coco, numbers.coco);
    place(esposa, numbers.esposa);
    place(gangster, numbers.gangster);
    place(ladrao, numbers.ladrao);

    paredes = static_cast<short>(numbers.walls.size());
    parede.resize(paredes);
    for (short j = 0; j < paredes; ++j) {
        const WallNumbers& w = numbers.walls[j];
        parede[j].iniciaParede(w.x1, w.y1, w.x2, w.y2);
    }

    coco->setExiste(false);
    esposa->setExiste(false);
    gangster->setExiste(false);
    ladrao->setExiste(false);
}

bool Mapa::update() {
    movimentaObjetos();
    colisao();
    timeLine();
    contaTempo();
    return contaTempoRestante();
}

short Mapa::indiceDirecao(short direcao) {
    short d = direcao % 360;
    return d < 0 ? d + 360 : d;
}

// Held state, not presses: a held key turns 15 degrees every frame.
void Mapa::capturaComando(bool clockwise, bool anticlockwise) {
    if (clockwise) smile->setDirecao(smile->getDirecao() + 15);
    else if (anticlockwise) smile->setDirecao(smile->getDirecao() - 15);
}

void Mapa::capturaComando() { capturaComando(key[KEY_A] || key[KEY_RIGHT], key[KEY_D] || key[KEY_LEFT]); }

void Mapa::movimentaNaDirecao(Movimento& m) {
    short d = indiceDirecao(m.getDirecao());
    m.movimenta(posicaoX[d], posicaoY[d]);
}

void Mapa::guardaPosicoes() {
    Objeto* todos[] = {smile, iten, coco, esposa, gangster, ladrao};
    for (Objeto* o : todos) {
        o->setXA(o->getX());
        o->setYA(o->getY());
    }
}

void Mapa::movimentaObjetos() {
    updateReport = UpdateReport();
    guardaPosicoes();
    movimentaNaDirecao(*smile);
    if (coco->getExiste()) {
        coco->mover();
        verificaPousoCoco();
    }
    if (esposa->getExiste()) {
        esposa->apontar(smile->getX(), smile->getY());
        esposa->mudaDirecaoSmooth();
        movimentaNaDirecao(*esposa);
    }
    if (gangster->getExiste()) {
        gangster->mudarDir();
        movimentaNaDirecao(*gangster);
    }
    if (ladrao->getExiste()) {
        ladrao->apontar(iten->getX(), iten->getY());
        ladrao->mudaDirecaoSmooth();
        movimentaNaDirecao(*ladrao);
    }
}

// A jump onto a wall is allowed: the check looks once and changes nothing
// but the scratch values, so it cannot hold up the update. Any new place,
// even one that keeps x or y, is an arrival for the contact rule.
void Mapa::verificaPousoCoco() {
    if (coco->getX() != coco->getXA() || coco->getY() != coco->getYA()) cocoArrived = true;
    if (coco->getX() != coco->getXA() && coco->getY() != coco->getYA() && caixaEmAlgumaParede(*coco, LADO_COCO))
        toca(*smile, *coco);
}

void Mapa::timeLine() {
    // Seconds alone: the row matches again every minute, but nothing makes an enemy absent again.
    const struct {
        short segundo;
        Inimigo* inimigo;
        Enemy nome;
    } entradas[] = {{5, coco, ENEMY_COCO}, {15, esposa, ENEMY_ESPOSA}, {25, ladrao, ENEMY_LADRAO},
                    {35, gangster, ENEMY_GANGSTER}};
    for (const auto& e : entradas) {
        if (seg != e.segundo || e.inimigo->getExiste()) continue;
        e.inimigo->setExiste(true);
        updateReport.entered[e.nome] = true;
        if (e.inimigo == coco) cocoArrived = true;
    }
    tempo = tempo + 1;
    if (tempo % 500 == 0 && smile->getVelocidade() <= 14) {
        smile->setVelocidade(smile->getVelocidade() + 1);
        updateReport.speedUp = true;
    }
}

bool Mapa::colisaoRaio(float x, float y, short r, float xD, float yD, short rD) {
    distX = x - xD;
    distY = y - yD;
    double d = std::sqrt(static_cast<double>(distX) * distX + static_cast<double>(distY) * distY);
    return r + rD > d;
}

short Mapa::colisaoCaixa(float xU1, float yU1, float xU2, float yU2, float xD1, float yD1, float xD2, float yD2) {
    auto dentro = [&](float px, float py) { return xD1 < px && px < xD2 && yD1 < py && py < yD2; };
    aux = 0;
    if (dentro(xU1, yU1)) aux = 1;
    if (dentro(xU2, yU1)) aux = 2;
    if (dentro(xU1, yU2)) aux = 3;
    if (dentro(xU2, yU2)) aux = 4;
    return aux;
}

// A quarter turn, not a mirror image; the caller wraps the result with setDirecao.
short Mapa::bounce(float xU1, float yU1, float xU2, float yU2, short dir, float xD1, float yD1, float xD2, float yD2) {
    bool baixoEsquerda = (dir >= 91 && dir <= 179) || dir >= 271;
    if ((xD1 < xU1 && xU1 < xD2) || (xD1 < xU2 && xU2 < xD2))  // came at the top or bottom face
        return baixoEsquerda ? dir + 90 : dir - 90;
    if ((yD1 < yU1 && yU1 < yD2) || (yD1 < yU2 && yU2 < yD2))  // came at a left or right face
        return baixoEsquerda ? dir - 90 : dir + 90;
    return dir;
}

bool Mapa::toca(const Objeto& a, const Objeto& b) {
    return colisaoRaio(a.getX(), a.getY(), a.getRaio(), b.getX(), b.getY(), b.getRaio());
}

bool Mapa::caixaEmAlgumaParede(const Objeto& o, short lado) {
    bool dentro = false;
    for (const Parede& p : parede)
        if (colisaoCaixa(o.getX(), o.getY(), o.getX() + lado, o.getY() + lado, p.getX(), p.getY(), p.getX2(), p.getY2()) != 0)
            dentro = true;
    return dentro;
}

void Mapa::volta(Objeto& o) {
    o.setX(o.getXA());
    o.setY(o.getYA());
}

void Mapa::inverte(Objeto& o) { o.setDirecao(o.getDirecao() + 180); }

// Each wall sees the position the walls before it left: after a hit the
// object stands back where it was, and may hit the next wall from there.
short Mapa::bateParedes(Objeto& o, short alturaRebote) {
    short batidas = 0;
    for (const Parede& p : parede) {
        if (colisaoCaixa(o.getX(), o.getY(), o.getX() + LADO_CAIXA, o.getY() + LADO_CAIXA, p.getX(), p.getY(), p.getX2(), p.getY2()) == 0)
            continue;
        o.setDirecao(bounce(o.getXA(), o.getYA(), o.getXA() + LADO_CAIXA, o.getYA() + alturaRebote, o.getDirecao(),
                            p.getX(), p.getY(), p.getX2(), p.getY2()));
        volta(o);
        ++batidas;
    }
    return batidas;
}

// The first turns about; the other takes the first's old heading.
void Mapa::encontro(Objeto& primeiro, Objeto& outro, bool voltaOutro) {
    inverte(primeiro);
    outro.setDirecao(primeiro.getDirecao() + 180);
    if (voltaOutro) volta(outro);
    volta(primeiro);
}

void Mapa::recolocaIten() {
    for (int passe = 0; passe < PASSES_ITEN; ++passe) {
        iten->mudaPosicao();
        if (!caixaEmAlgumaParede(*iten, LADO_CAIXA) || toca(*iten, *smile)) return;
    }
}

void Mapa::colisao() {
    const short antes = segD;
    if (toca(*smile, *iten)) {
        recolocaIten();
        iten->mudaIcone();
        segD = segD + 2;
        updateReport.itemCollected = true;
    }
    const struct {
        Inimigo* inimigo;
        Enemy nome;
    } perseguidores[] = {{esposa, ENEMY_ESPOSA}, {gangster, ENEMY_GANGSTER}, {ladrao, ENEMY_LADRAO}};
    for (const auto& p : perseguidores) {
        if (p.inimigo->getExiste() && toca(*smile, *p.inimigo)) {
            encontro(*smile, *p.inimigo, true);
            segD = segD - p.inimigo->getDano();
            updateReport.hitBy[p.nome] = true;
        }
    }
    if (coco->getExiste()) {
        if (!toca(*smile, *coco)) {
            cocoArrived = false;
        } else if (!cocoArrived) {
            inverte(*smile);
            volta(*smile);
            segD = segD - coco->getDano();
            updateReport.hitBy[ENEMY_COCO] = true;
        }
    }
    updateReport.wallBumps = bateParedes(*smile, LADO_CAIXA);
    segD = segD - 2 * updateReport.wallBumps;
    updateReport.secondsChange = segD - antes;

    if (ladrao->getExiste()) {
        // The item's previous place stays the one drawn last frame, even when
        // the player moved it earlier in this update, so that place is erased.
        if (toca(*ladrao, *iten)) {
            iten->mudaPosicao();
            iten->mudaIcone();
            updateReport.itemStolen = true;
        }
        if (esposa->getExiste() && toca(*ladrao, *esposa)) encontro(*ladrao, *esposa, true);
        if (gangster->getExiste() && toca(*ladrao, *gangster)) encontro(*ladrao, *gangster, false);
        bateParedes(*ladrao, ALTURA_LADRAO);
    }
    if (gangster->getExiste()) {
        // By the timeline the Esposa is always present when the Gangster is.
        if (toca(*esposa, *gangster)) encontro(*esposa, *gangster, false);
        bateParedes(*gangster, LADO_CAIXA);
    }
    if (esposa->getExiste()) bateParedes(*esposa, LADO_CAIXA);
}

void Mapa::contaTempo() {
    mili = mili + 1;
    if (mili > 30) {
        mili = 0;
        seg = seg + 1;
    }
    if (seg > 59) {
        seg = 0;
        if (min <= 99) min = min + 1;
    }
}

bool Mapa::contaTempoRestante() {
    miliD = miliD - 1;
    // The end test comes before the borrow: the last second is not counted down.
    if (segD <= 0 && minD <= 0) {
        updateReport.timeUp = true;
        return true;
    }
    if (miliD < 0) {
        miliD = 30;
        segD = segD - 1;
        updateReport.countdownTick = minD <= 0 && segD <= 9 && segD >= 0;
    }
    // Minutes of sixty seconds both ways: 0:58 + 2 is 1:00, 1:03 - 20 is 0:43.
    while (segD < 0) {
        segD = segD + 60;
        minD = minD - 1;
    }
    while (segD > 59) {
        segD = segD - 60;
        minD = minD + 1;
    }
    return false;
}
