#pragma once

#include <QFlags>

class QWidget;

namespace platform {

// Edges of a control's parent that the control keeps its distance to when
// the parent changes size: locked left and right, it widens with the parent;
// locked only right, it moves with the right edge.
enum class Edge { Left = 1, Top = 2, Right = 4, Bottom = 8 };
Q_DECLARE_FLAGS(Edges, Edge)
Q_DECLARE_OPERATORS_FOR_FLAGS(Edges)

// Keeps the distances the control has now to the locked edges of its parent.
// Call it once the control is in place.
void LockEdges(QWidget* control, Edges edges);

} // namespace platform
