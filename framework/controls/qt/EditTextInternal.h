#pragma once
// Framework-internal, toolkit side: between the edits' own text (UTF-8,
// CR LF breaks, byte positions) and the toolkit's (UTF-16, LF breaks).
#include <QString>

#include "framework/rtl/Types.h"

namespace velmor_internal {
QString ToWidgetText(const String& model);
String FromWidgetText(const QString& text, bool multiline);
int ToWidgetPos(const String& model, int pos);
int FromWidgetPos(const String& model, int widgetPos);
}  // namespace velmor_internal
