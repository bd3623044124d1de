// The order Tab walks a window's fields in: the order they read in, not the order they happened
// to be made in.
#pragma once

#include <initializer_list>

class QWidget;

namespace platform {

// Tab goes from each widget to the next one of the list (the widgets of one window).
void ChainTabOrder(std::initializer_list<QWidget*> widgets);

}  // namespace platform
