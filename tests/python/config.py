"""The test host's configuration: the four settings of one scan."""


class Config:
    def __init__(self, location=".", pattern=None, folders=False, recursive=True):
        self.location = location
        self.pattern = pattern
        self.folders = folders
        self.recursive = recursive
