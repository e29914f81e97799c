#pragma once

#include "platform/pictures/Picture.h"

#include <cstdint>
#include <memory>

class PieceClass;

// One drag of one piece. It keeps the table's pixels from under the place
// where the piece was last drawn, so each step repaints only the rectangle
// the piece leaves and the one it enters. Discarding the object puts the
// saved pixels back.
class DragPieceClass {
public:
    explicit DragPieceClass(const std::shared_ptr<PieceClass>& piece);
    ~DragPieceClass();

    DragPieceClass(const DragPieceClass&) = delete;
    DragPieceClass& operator=(const DragPieceClass&) = delete;

    // Saves the table's pixels under the piece's current rectangle.
    void SetBuffer();
    // Puts the saved pixels back where they were taken.
    void RestoreBuffer();
    // One drag step: restore the old place, save the new one, draw the piece.
    void Draw();
    // The table was drawn afresh without the piece: save what now lies
    // under it and draw it there.
    void DrawOverFreshTable();
    void SetPosition(std::int32_t x, std::int32_t y);
    // Puts the piece where the pointer at (x, y) holds it.
    void SetPositionFromGrabPosition(std::int32_t x, std::int32_t y);
    void SetGrabPositionFromMousePosition(std::int32_t x, std::int32_t y);

    platform::PicturePtr mBuffer;
    std::int32_t mBufferPosX = 0;
    std::int32_t mBufferPosY = 0;
    std::int32_t mGrabPosX = 0;
    std::int32_t mGrabPosY = 0;
    std::shared_ptr<PieceClass> mPiece;
};
