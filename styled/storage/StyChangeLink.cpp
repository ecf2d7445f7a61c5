#include "styled/storage/StyChangeLink.h"

#include "styled/storage/StyBaseContainer.h"

TStyChangeLink::~TStyChangeLink() {
    if (FContainer) FContainer->UnRegisterChangeLink(this);
}
