#include "styled/base/StyCustomComponent.h"

TStyCustomComponent::TStyCustomComponent(TComponent* AOwner) : TStyChangeReporting<TComponent>(AOwner) {}

void TStyCustomComponent::SetAbout(const String& Value) { FAbout = Value.substr(0, 10); }
