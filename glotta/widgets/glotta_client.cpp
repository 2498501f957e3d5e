#include "glotta_client.h"

TGlottaClient::TGlottaClient(QObject *Owner) : TGlottaCPC(Owner) {}
