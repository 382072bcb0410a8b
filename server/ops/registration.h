#pragma once
// Puts the 49 operations of TServerMethods1 on an rpc server: each handler
// reads its parameters by ordinal, calls the operation and sets the result
// in the kind the operation table gives (data packet or table reader for
// tables, the size output with every stream).
#include "rpcserver.h"
#include "servermethods.h"

namespace vlm::server {

void registerOperations(RpcServer& server, TServerMethods1& methods);

}  // namespace vlm::server
