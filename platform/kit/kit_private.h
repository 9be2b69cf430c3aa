#pragma once
// Internals shared by the kit's source files.
#include "platform/kit/kit.h"

#include <QEvent>
#include <QString>
#include <QWidget>

namespace kit::detail {

QString qt(const std::string& text);   // model text -> Qt
std::string model(const QString& text);  // Qt -> model text
QColor qcolor(TColor color);
ShiftState shift_of(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons);
MouseButton button_of(Qt::MouseButton button);
int key_code(int qt_key);  // Qt key -> kit::keys code, 0 for keys we do not report

// The control a widget belongs to (set by route), or nullptr.
Control* control_of(const QObject* widget);
// Sends the widget's mouse and key events to the control's handlers.
void route(QWidget* widget, Control* control);
void unroute(QWidget* widget);
// Shows a control's popup menu at the mouse pointer, if it has one.
void show_popup_of(Control* control);
// Installs the application-wide filter that blocks input to disabled windows.
void install_input_blocker();

}  // namespace kit::detail
