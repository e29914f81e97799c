#include "table/DragPieceClass.h"

#include "app/Globals.h"
#include "model/PieceClass.h"
#include "model/RectClass.h"
#include "platform/EventGuard.h"
#include "platform/NilObjectException.h"
#include "table/TableClass.h"

DragPieceClass::DragPieceClass(const std::shared_ptr<PieceClass>& piece)
    : mPiece(piece)
{
    const PieceClass& p = platform::Deref(mPiece);
    mBuffer = std::make_shared<platform::Picture>(p.mWidth, p.mHeight, gBitDepth);
    mBufferPosX = p.mPosX;
    mBufferPosY = p.mPosY;
}

DragPieceClass::~DragPieceClass()
{
    // With the table gone there is nothing to put the pixels back onto; a
    // destructor must not throw either way.
    if (gTable != nullptr) {
        platform::RunGuarded([this] { RestoreBuffer(); });
    }
}

void DragPieceClass::SetBuffer()
{
    const PieceClass& p = platform::Deref(mPiece);
    platform::Deref(gTable).CopyBufferToPicture(
        mBuffer, std::make_shared<RectClass>(p.mPosX, p.mPosY, p.mWidth, p.mHeight));
}

void DragPieceClass::RestoreBuffer()
{
    platform::Deref(gTable).DrawPicture(mBuffer, mBufferPosX, mBufferPosY);
}

void DragPieceClass::Draw()
{
    RestoreBuffer();
    DrawOverFreshTable();
}

void DragPieceClass::DrawOverFreshTable()
{
    SetBuffer();
    PieceClass& p = platform::Deref(mPiece);
    p.Draw();
    mBufferPosX = p.mPosX;
    mBufferPosY = p.mPosY;
}

void DragPieceClass::SetPosition(std::int32_t x, std::int32_t y)
{
    PieceClass& p = platform::Deref(mPiece);
    p.mPosX = x;
    p.mPosY = y;
}

void DragPieceClass::SetPositionFromGrabPosition(std::int32_t x, std::int32_t y)
{
    SetPosition(x - mGrabPosX, y - mGrabPosY);
}

void DragPieceClass::SetGrabPositionFromMousePosition(std::int32_t x, std::int32_t y)
{
    const PieceClass& p = platform::Deref(mPiece);
    mGrabPosX = x - p.mPosX;
    mGrabPosY = y - p.mPosY;
}
