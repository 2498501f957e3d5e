#include "glotta/widgets/glotta_client.h"

// Stored designs hold the sets as numbers and omit a value equal to the
// default, so these numbers must not drift when the member lists are edited.
static_assert(AcceptedTransStringProp == 7340031 && DefaultTransStringProp == 7337727);
static_assert(AcceptedTransTStringsProp == 255 && DefaultTransTStringsProp == 255);
static_assert(AcceptedTransStructuredProp == 229375 && DefaultTransStructuredProp == 229230);
static_assert(AcceptedTransOtherProp == 225 && DefaultTransOtherProp == 97);
static_assert(AcceptedTransAdditions == 1 && DefaultTransAdditions == 0);

TGlottaClient::TGlottaClient(QObject *Owner) : TGlottaCPC(Owner) {}
