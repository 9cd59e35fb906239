// The level being played: its objects and walls, the direction tables, the
// steering, movement, timeline and collisions of one update, and the two clocks.
#pragma once

#include "objects/coco.h"
#include "objects/esposa.h"
#include "objects/gangster.h"
#include "objects/iten.h"
#include "objects/ladrao.h"
#include "objects/parede.h"
#include "objects/smile.h"
#include "level/level_file.h"
#include "level/update_report.h"

#include <vector>

class Mapa {
public:
    Mapa();
    ~Mapa();
    Mapa(const Mapa&) = delete;
    Mapa& operator=(const Mapa&) = delete;

    // Sets up a game of level nr (1..3) from its file. False, with nothing
    // changed and `problem` filled in, when the file cannot be read or does
    // not hold the numbers the level needs.
    bool inicia(short nr, LevelProblem* problem = nullptr);
    // Sets up a game from a level's numbers.
    void setUp(const LevelNumbers& numbers);

    // One update of the level: movement, collisions, timeline, then the
    // elapsed and the remaining clock. True when the time is up.
    bool update();

    // Turns the player with the turn keys held this frame: clockwise wins
    // when both are held.
    void capturaComando(bool clockwise, bool anticlockwise);
    // The same with the default keys, read from Allegro's key array.
    void capturaComando();
    void movimentaObjetos();
    void guardaPosicoes();
    void timeLine();

    void colisao();
    bool colisaoRaio(float x, float y, short r, float xD, float yD, short rD);
    short colisaoCaixa(float xU1, float yU1, float xU2, float yU2, float xD1, float yD1, float xD2, float yD2);
    short bounce(float xU1, float yU1, float xU2, float yU2, short dir, float xD1, float yD1, float xD2, float yD2);

    void contaTempo();
    bool contaTempoRestante();  // true when the time is up

    int getMili() const { return mili; }
    int getSeg() const { return seg; }
    int getMin() const { return min; }
    int getMiliD() const { return miliD; }
    int getSegD() const { return segD; }
    int getMinD() const { return minD; }
    void setMili(int n) { mili = n; }
    void setSeg(int n) { seg = n; }
    void setMin(int n) { min = n; }
    void setMiliD(int n) { miliD = n; }
    void setSegD(int n) { segD = n; }
    void setMinD(int n) { minD = n; }

    // Copies: what the drawing reads can never change the level.
    Smile getSmile() const { return *smile; }
    Iten getIten() const { return *iten; }
    Coco getCoco() const { return *coco; }
    Esposa getEsposa() const { return *esposa; }
    Gangster getGangster() const { return *gangster; }
    Ladrao getLadrao() const { return *ladrao; }
    Parede getParede(short nr) const { return parede[nr]; }
    short getParedes() const { return paredes; }

    // What the update under way (or the last one) did; cleared as each update
    // begins with movimentaObjetos.
    const UpdateReport& report() const { return updateReport; }

    // Any heading, however far out of range, as an index of the direction tables.
    static short indiceDirecao(short direcao);

private:
    void movimentaNaDirecao(Movimento& m);
    static void volta(Objeto& o);    // back to where it stood at the start of the update
    static void inverte(Objeto& o);  // about turn
    bool toca(const Objeto& a, const Objeto& b);
    // Whether the square of side lado at the object has a corner inside any wall.
    bool caixaEmAlgumaParede(const Objeto& o, short lado);
    // Bounces the object off every wall it runs into; returns how many.
    short bateParedes(Objeto& o, short alturaRebote);
    void encontro(Objeto& primeiro, Objeto& outro, bool voltaOutro);
    void recolocaIten();
    void verificaPousoCoco();

    // The Coco came onto the field or jumped, and has not stood clear of the
    // player since: touching it costs nothing until they part, so no hit
    // comes from where nobody could see it coming.
    bool cocoArrived = false;

    // Null until the first set-up creates them.
    Smile* smile = nullptr;
    Iten* iten = nullptr;
    Coco* coco = nullptr;
    Esposa* esposa = nullptr;
    Gangster* gangster = nullptr;
    Ladrao* ladrao = nullptr;
    std::vector<Parede> parede;
    short paredes = 0;
    float posicaoX[360];
    float posicaoY[360];
    short mili = 0, seg = 0, min = 0;
    short miliD = 0, segD = 0, minD = 0;
    short tempo = 0;  // updates of the game under way: drives the speed-ups
    UpdateReport updateReport;
    float distX = 0, distY = 0;
    short aux = 0;

    friend class TestAccess;  // tests read the internals
};
