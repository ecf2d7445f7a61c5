#include "styled/base/StyComponent.h"

TStyComponent::TStyComponent(TComponent* AOwner) : TStyCustomComponent(AOwner) {}
