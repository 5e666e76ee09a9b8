set(TEST_LIBS tarvex::app)
