#include "quorvandelix.h"

int main(int argc, char** argv) {
    return QuorvandelixMain(argc, argv);
}
