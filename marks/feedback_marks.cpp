#include "marks/feedback_marks.h"

namespace {

FeedbackMarks::Kind kindOf(const UpdateReport& report) {
    for (bool hit : report.hitBy)
        if (hit) return FeedbackMarks::Kind::EnemyHit;
    if (report.wallBumps > 0) return FeedbackMarks::Kind::WallBump;
    if (report.itemCollected) return FeedbackMarks::Kind::ItemTaken;
    return FeedbackMarks::Kind::None;
}

// The picture of a mark's frame.
short slotOf(FeedbackMarks::Kind kind, short frame) {
    using Kind = FeedbackMarks::Kind;
    switch (kind) {
    case Kind::WallBump: return SLOT_MARK_WALL + frame;
    case Kind::EnemyHit: return SLOT_MARK_HIT + frame;
    case Kind::ItemTaken: return SLOT_MARK_ITEM + frame;
    case Kind::None: break;
    }
    return -1;
}

}  // namespace

void FeedbackMarks::clear() {
    kind = Kind::None;
    frameNow = 0;
    spot.forget();
}

void FeedbackMarks::note(const UpdateReport& report, float faceX, float faceY) {
    const Kind happened = kindOf(report);
    if (happened != Kind::None) {
        kind = happened;
        frameNow = 0;
        // Whole pixels as the face is drawn, dropping the fraction.
        x = static_cast<short>(faceX);
        y = static_cast<short>(faceY);
    } else if (kind != Kind::None && ++frameNow >= FRAMES) {
        kind = Kind::None;
    }
}

// Centred on the face as it stood.
void FeedbackMarks::draw(Render& render) {
    const BITMAP* face = render.imagem(SLOT_FACE);
    if (kind == Kind::None || !face) return;
    spot.drawCentred(render, slotOf(kind, frameNow), x + face->w / 2, y + face->h / 2);
}
